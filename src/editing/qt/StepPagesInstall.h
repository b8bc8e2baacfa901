#pragma once
// Gives the step sheet its materials and comments pages.
namespace editing::qt {

void InstallStepPages();

} // namespace editing::qt
