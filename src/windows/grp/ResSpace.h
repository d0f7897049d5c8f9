#pragma once
// The reserved-space dialog: how many reserved slots a rebuild is to create.
// Created once at start-up and only hidden between uses, so the number keeps
// the last value chosen.
#include <QDialog>
#include <cstdint>

class QLabel;
class QSpinBox;

namespace tessel {

class TfrmResSpace : public QDialog {
    Q_OBJECT
public:
    explicit TfrmResSpace(QWidget* parent = nullptr);
    // Shows the dialog modally for an archive of archiveSize bytes: the number
    // of slots on "Begin Process", 0 when closed any other way.
    int Execute(std::int64_t archiveSize);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label4_ = nullptr;
    QSpinBox* spnReservedSpaces_ = nullptr;
    std::int64_t archiveSize_ = 0;
};

} // namespace tessel
