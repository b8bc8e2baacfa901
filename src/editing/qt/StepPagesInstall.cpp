#include "editing/qt/StepPagesInstall.h"

#include "editing/qt/CCommentsPage.h"
#include "editing/qt/CMaterialsPage.h"
#include "editing/qt/CStepPropertySheet.h"

namespace editing::qt {

void InstallStepPages()
{
    CStepPropertySheet::SetPageFactories(
        [](CStepPropertySheet& sheet) -> CStepPage* { return new CMaterialsPage(sheet); },
        [](CStepPropertySheet& sheet) -> CStepPage* { return new CCommentsPage(sheet); });
}

} // namespace editing::qt
