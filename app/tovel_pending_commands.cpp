// Commands whose features are not built yet: every menu item exists and dispatches, and these do nothing.
#include "app/tovel_unit.h"

namespace tovel {

void TTovForm::MixOpenM1Click() {}
void TTovForm::MixSaveI1Click() {}
void TTovForm::PrintP1Click() {}
void TTovForm::Find1Click() {}
void TTovForm::Replace1Click() {}
void TTovForm::Now1Click() {}
void TTovForm::HTMLTagH1Click() {}
void TTovForm::M1Click() {}
void TTovForm::L1Click() {}
void TTovForm::D1Click() {}
void TTovForm::C1Click() {}
void TTovForm::N22Click() {}
void TTovForm::R3Click() {}
void TTovForm::Open1Click() {}

}  // namespace tovel
