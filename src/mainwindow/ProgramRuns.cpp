#include "mainwindow/ProgramRuns.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <map>

#include "launch/OutputLog.h"
#include "mainwindow/Main.h"
#include "mainwindow/MessagesPane.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "ui/DocumentWindow.h"
#include "ui/QtPaths.h"

namespace tessel {

struct ProgramRuns::Run {
    Kind kind = Kind::Program;
    std::string name, folder;
    QProcess* process = nullptr;
    OutputLog log;
    QElapsedTimer clock;
    bool stopped = false;
};

namespace {

// A name a QProcess passes on unchanged: it converts through QString.
bool PassesThroughQt(const std::string& text)
{
    return FromQString(ToQString(text)) == text;
}

} // namespace

ProgramRuns::ProgramRuns(TMainForm& main, TMessagesPane& pane) : QObject(&main), main_(main), pane_(pane) {}

ProgramRuns::~ProgramRuns()
{
    for (const std::unique_ptr<Run>& run : runs_) {
        run->process->disconnect(this);
        run->process->kill();
        run->process->waitForFinished(1000);
    }
}

bool ProgramRuns::Start(const LaunchPlan& plan, const std::string& name, Kind kind)
{
    if (kind == Kind::Compile || runs_.empty()) {
        pane_.Clear();
        if (kind == Kind::Compile)
            for (DocumentWindow* doc : main_.Documents())
                doc->MarkMessageLines({}, {});
    }
    std::string problem = plan.problem;
    const bool representable = PassesThroughQt(plan.program) && PassesThroughQt(plan.workingDir) &&
                               std::all_of(plan.arguments.begin(), plan.arguments.end(), PassesThroughQt);
    if (plan.program.empty() || !representable) {
        if (!representable)
            problem = "a name in its command line is no UTF-8, which the Messages pane cannot pass on";
        pane_.AddNote(RunSummary(name, {RunEnd::Kind::NotStarted, 0, problem}, 0, 0, 0), true);
        return false;
    }
    pane_.AddNote(RunningText(plan.program, plan.arguments, plan.workingDir));

    auto run = std::make_unique<Run>();
    run->kind = kind;
    run->name = name;
    run->folder = IncludeTrailingPathDelimiter(plan.workingDir.empty() ? CurrentDirectory() : plan.workingDir);
    auto* process = run->process = new QProcess(this);
    process->setProgram(ToQString(plan.program));
    QStringList arguments;
    for (const std::string& argument : plan.arguments)
        arguments << ToQString(argument);
    process->setArguments(arguments);
    process->setWorkingDirectory(ToQString(run->folder));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());   // a program that asks for input is not kept waiting
    process->setChildProcessModifier(DefaultSignals);
    Run* raw = run.get();
    connect(process, &QProcess::readyReadStandardOutput, this, [this, raw] { Read(*raw); });
    connect(process, &QProcess::finished, this, [this, raw](int status, QProcess::ExitStatus how) {
        Read(*raw);
        for (const OutputLine& line : raw->log.Finish())
            pane_.AddOutput({line}, raw->folder);
        RunEnd end{RunEnd::Kind::Exited, status, ""};
        if (raw->stopped)
            end.kind = RunEnd::Kind::Stopped;
        else if (how == QProcess::CrashExit)
            end.kind = RunEnd::Kind::Signalled;
        const double seconds = static_cast<double>(raw->clock.elapsed()) / 1000;
        End(*raw, RunSummary(raw->name, end, raw->log.Errors(), raw->log.Warnings(), seconds),
            end.kind != RunEnd::Kind::Exited || status != 0);
    });
    connect(process, &QProcess::errorOccurred, this, [this, raw](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            End(*raw, RunSummary(raw->name, {RunEnd::Kind::NotStarted, 0, FromQString(raw->process->errorString())},
                                 0, 0, 0),
                true);
    });
    runs_.push_back(std::move(run));
    raw->clock.start();
    process->start();
    main_.SetCommandEnabled(Cmd::QuakeStopCompile, Compiling());
    return true;
}

void ProgramRuns::Read(Run& run)
{
    const QByteArray bytes = run.process->readAllStandardOutput();
    if (!bytes.isEmpty())
        pane_.AddOutput(run.log.Take(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
                        run.folder);
}

void ProgramRuns::End(Run& run, const std::string& summary, bool failed)
{
    pane_.AddNote(summary, failed);
    const Kind kind = run.kind;
    run.process->disconnect(this);
    run.process->deleteLater();
    runs_.erase(std::find_if(runs_.begin(), runs_.end(), [&run](const auto& r) { return r.get() == &run; }));
    main_.SetCommandEnabled(Cmd::QuakeStopCompile, Compiling());
    if (kind == Kind::Compile)
        MarkDocuments();
    main_.SetStatusText(0, QString::fromStdString(summary));
    emit ended(static_cast<int>(kind), QString::fromStdString(summary));
}

bool ProgramRuns::Compiling() const
{
    return std::any_of(runs_.begin(), runs_.end(), [](const auto& run) { return run->kind == Kind::Compile; });
}

void ProgramRuns::StopCompile()
{
    for (std::size_t i = 0; i < runs_.size();) {
        Run& run = *runs_[i];
        if (run.kind != Kind::Compile) {
            ++i;
            continue;
        }
        // Killed, and its end (with the last line) taken at once: a compile
        // started next begins on its own pane.
        run.stopped = true;
        run.process->kill();
        if (!run.process->waitForFinished(1000))
            End(run, RunSummary(run.name, {RunEnd::Kind::Stopped, 0, ""}, run.log.Errors(), run.log.Warnings(),
                                static_cast<double>(run.clock.elapsed()) / 1000),
                true);
    }
}

std::vector<std::string> ProgramRuns::Running() const
{
    std::vector<std::string> names;
    for (const std::unique_ptr<Run>& run : runs_)
        names.push_back(run->name);
    return names;
}

void ProgramRuns::MarkDocuments()
{
    // The lines of each file named, from 1.
    std::map<std::string, std::pair<std::vector<int>, std::vector<int>>> marks;
    for (const MessageEntry& entry : pane_.Entries()) {
        if (entry.summary || entry.line < 1 || entry.severity == Severity::Note)
            continue;
        auto& lines = marks[entry.path];
        (entry.severity == Severity::Error ? lines.first : lines.second).push_back(entry.line);
    }
    for (DocumentWindow* doc : main_.Documents()) {
        const std::string name = doc->FileName();
        std::vector<int> errors, warnings;
        for (const auto& [path, lines] : marks)
            if (!name.empty() && (path == name || SameFile(path, name))) {
                errors.insert(errors.end(), lines.first.begin(), lines.first.end());
                warnings.insert(warnings.end(), lines.second.begin(), lines.second.end());
            }
        doc->MarkMessageLines(errors, warnings);
    }
}

} // namespace tessel
