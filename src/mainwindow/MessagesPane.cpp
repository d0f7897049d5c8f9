#include "mainwindow/MessagesPane.h"

#include <QFontDatabase>
#include <QListWidget>

namespace tessel {

namespace {

constexpr int EntryRole = Qt::UserRole;   // an item's index into the entries; none on other lines

QColor SeverityColor(Severity severity)
{
    switch (severity) {
    case Severity::Error: return QColor(190, 0, 0);
    case Severity::Warning: return QColor(160, 100, 0);
    case Severity::Note: break;
    }
    return QColor(0, 70, 150);
}

} // namespace

TMessagesPane::TMessagesPane(QWidget* parent) : QDockWidget("Messages", parent)
{
    setObjectName("MessagesPane");
    // Closed by the View menu or its own button; it does not float away from the window.
    setFeatures(QDockWidget::DockWidgetClosable);
    list_ = new QListWidget(this);
    list_->setObjectName("lstMessages");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setUniformItemSizes(true);   // tens of thousands of lines stay quick
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    setWidget(list_);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QVariant entry = item->data(EntryRole);
        if (entry.isValid())
            emit entryChosen(entry.toInt());
    });
}

void TMessagesPane::Clear()
{
    list_->clear();
    entries_.clear();
}

QListWidgetItem* TMessagesPane::AddLine(const std::string& text)
{
    auto* item = new QListWidgetItem(QString::fromStdString(text), list_);
    if (!isVisible())
        show();
    return item;
}

void TMessagesPane::AddNote(const std::string& text, bool failed)
{
    QListWidgetItem* item = AddLine(text);
    QFont bold = list_->font();
    bold.setBold(true);
    item->setFont(bold);
    if (failed)
        item->setForeground(SeverityColor(Severity::Error));
    list_->scrollToItem(item);
}

void TMessagesPane::AddOutput(const std::vector<OutputLine>& lines, const std::string& runFolder)
{
    if (lines.empty())
        return;
    const bool atEnd = list_->count() == 0 || list_->currentRow() < 0 || list_->currentRow() == list_->count() - 1;
    list_->setUpdatesEnabled(false);
    for (const OutputLine& line : lines) {
        QListWidgetItem* item = AddLine(line.text);
        if (!line.message)
            continue;
        const CompilerMessage& m = *line.message;
        item->setData(EntryRole, static_cast<int>(entries_.size()));
        item->setForeground(SeverityColor(m.severity));
        entries_.push_back({MessageFilePath(runFolder, m.file), m.line, m.column, m.severity, m.summary});
    }
    list_->setUpdatesEnabled(true);
    // Followed to its end unless the user is looking at an entry further up.
    if (atEnd)
        list_->scrollToBottom();
}

const MessageEntry* TMessagesPane::Step(int step)
{
    const int count = list_->count();
    const int current = list_->currentRow();
    // Without a current line the first entry, or the last, is the next.
    for (int row = current >= 0 ? current + step : step > 0 ? 0 : count - 1; row >= 0 && row < count; row += step) {
        const QVariant entry = list_->item(row)->data(EntryRole);
        if (!entry.isValid())
            continue;
        list_->setCurrentRow(row);
        list_->scrollToItem(list_->item(row));
        return &entries_[static_cast<std::size_t>(entry.toInt())];
    }
    return nullptr;
}

} // namespace tessel
