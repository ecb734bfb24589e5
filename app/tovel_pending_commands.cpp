// Commands whose features are not built yet: every menu item exists and dispatches, and these do nothing.
#include "app/tovel_unit.h"

namespace tovel {

void TTovForm::ViewV1Click() {}
void TTovForm::B1Click() {}
void TTovForm::FrontF1Click() {}
void TTovForm::ManualM1Click() {}
void TTovForm::UpdateU1Click() {}
void TTovForm::FoldF1Click() {}
void TTovForm::ExecuteTovel1Click() {}
void TTovForm::NothingN1Click() {}
void TTovForm::N751Click() {}
void TTovForm::N551Click() {}
void TTovForm::N351Click() {}
void TTovForm::N151Click() {}

}  // namespace tovel
