#include "editor/EditorRequests.h"

namespace tessel {

void EditorRequestsType::DropPending()
{
    LoadRequest = SaveRequest = RecolorRequest = TestErrorsRequest = false;
    SelectAllRequest = UndoRequest = BlockIndentRequest = BlockDeIndentRequest = false;
    GotoLineRequest = -1;
    UserFndText.Go = false;
    UserReplaceText.Go = false;
    WizardInsertText.clear();
    RightClickRequest = false;
}

} // namespace tessel
