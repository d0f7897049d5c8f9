#include "grp/GrpCommands.h"

#include "grp/GrpOperations.h"
#include "platform/Files.h"

namespace tessel {

namespace {

// The checks every command makes first; false when it must not go on.
bool ArchiveStillThere(GrpArchiveView& view, Prompter& prompter, const char* vanished)
{
    if (view.archivePath.empty()) {
        prompter.ShowMessage("There is no archive open.");
        return false;
    }
    if (!FileExists(view.archivePath)) {
        prompter.ShowMessage(vanished);
        CloseArchive(view, prompter);
        return false;
    }
    return true;
}

bool AskedYes(Prompter& prompter, const std::string& question)
{
    return prompter.MessageDlg(question, MsgType::Confirm, MsgButtons::YesNo) == MsgResult::Yes;
}

} // namespace

std::string ReservedSpaceNotice(std::int64_t archiveSize)
{
    return "This process will take " + std::to_string(archiveSize) +
           " bytes of extra space on your hard drive, but your hardrive space will be returned to normal after the "
           "process has been completed. It also might take a few minutes, depending on the speed of your system...";
}

void CreateReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The archive does not exist. Closing Archive..."))
        return;
    const int slots = view.ui().AskReservedSlots(FileSize(view.archivePath));
    if (slots > 0) {
        BusyScope busy(view.ui());
        view.panels[0] = "Creating reserved space and defragmenting file...";
        view.ui().ProcessPaintEvents();
        RebuildArchive(view, view.archivePath, slots, prompter);
    }
    view.panels[0] = "Finished";
}

void EraseAllReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The archive does not exist. Closing Archive..."))
        return;
    const std::string question =
        "Deleting the reserved space will make adding files slower, and to delete them, Tessel needs to defragment "
        "the archive which will take approximatly: " +
        std::to_string(FileSize(view.archivePath)) +
        " bytes extra on your hard drive. Once the defragmentation is completed the space on your hard drive will "
        "be returned to normal.\r\rThis Process might take a minute on slower machines. Do you want to procede?";
    if (AskedYes(prompter, question)) {
        BusyScope busy(view.ui());
        view.panels[0] = "Erasing reserved space and defragmenting file...";
        view.ui().ProcessPaintEvents();
        EraseReservedSpace(view, view.archivePath, prompter);
    }
    view.panels[0] = "Finished";
}

void DefragmentArchiveCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The Archive does not exist closing the archive..."))
        return;
    const std::string question =
        "Defragmentation of the archive will clean it up, and make it smaller after you have deleted any "
        "files.\r\rDefragmentation of the archive will take approximatly " +
        std::to_string(FileSize(view.archivePath)) +
        " bytes extra on your hard disk. The memory on your hard disk will be returned to normal after "
        "defragmentation finishes. Do you want to procede?";
    if (prompter.MessageDlg(question, MsgType::Confirm, MsgButtons::YesNo) == MsgResult::No)
        return;
    view.panels[0] = "Defragmenting proceding...";
    RebuildArchive(view, view.archivePath, 0, prompter);
    view.panels[0] = "Finished";
}

} // namespace tessel
