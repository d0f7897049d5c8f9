#include "editor/EditorRequests.h"

namespace tessel {

void EditorRequests::DropPending()
{
    LoadRequest = SaveRequest = RecolorRequest = TestErrorsRequest = false;
    SelectAllRequest = UndoRequest = BlockIndentRequest = BlockDeIndentRequest = false;
    GotoLineRequest = GotoColumnRequest = -1;
    UserFndText.Go = false;
    UserReplaceText.Go = false;
    WizardInsertText.clear();
    RightClickRequest = false;
}

EditorRequests LoadRequestFor(const std::string& name)
{
    EditorRequests requests;
    requests.LoadRequest = true;
    requests.PendingFileName = name;
    return requests;
}

EditorRequests SaveRequestFor(const std::string& name)
{
    EditorRequests requests;
    requests.SaveRequest = true;
    requests.PendingFileName = name;
    return requests;
}

} // namespace tessel
