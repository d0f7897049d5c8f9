#pragma once
// The programs whose output the Messages pane shows (the compile tool, a
// native engine): each started from its launch plan through a QProcess, never
// a shell, in its working folder, with no input; its standard output and
// error read together as they arrive, cut into lines and parsed (OutputLog),
// and a last line written when it ends. Nothing here waits for a program: the
// window takes input while they run. A compile empties the pane and the
// documents' margin marks first, and marks the lines of its messages in the
// open documents when it ends.
#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "platform/Process.h"

namespace tessel {

class TMainForm;
class TMessagesPane;

class ProgramRuns : public QObject {
    Q_OBJECT
public:
    enum class Kind { Compile, Program };

    ProgramRuns(TMainForm& main, TMessagesPane& pane);
    // Ends the programs that still run, without a word to the pane.
    ~ProgramRuns() override;

    // Starts plan; name (the program's file name) heads its last line. A
    // program starts on an empty pane unless another one runs. False, the pane
    // saying why, when the plan has no program or a name that is no UTF-8
    // (which a QProcess cannot pass on).
    bool Start(const LaunchPlan& plan, const std::string& name, Kind kind);
    bool Compiling() const;
    // Ends the compile that runs; its last line says it was stopped.
    void StopCompile();
    // The names of the programs that run, in the order they started.
    std::vector<std::string> Running() const;
    // Gives each open document the marks of the pane's messages on its file
    // (a fteqcc closing line is no fault of its own and marks nothing).
    void MarkDocuments();

signals:
    // A run ended and its last line is in the pane (summary: that line).
    void ended(int kind, const QString& summary);

private:
    struct Run;
    void Read(Run& run);
    void End(Run& run, const std::string& summary, bool failed);

    TMainForm& main_;
    TMessagesPane& pane_;
    std::vector<std::unique_ptr<Run>> runs_;
};

} // namespace tessel
