// The editor's windows, created once at start-up and living until it ends.
#pragma once

#include "editor/tobrinedit1.h"
#include "editor/tobrinedit10.h"
#include "editor/tobrinedit11.h"
#include "editor/tobrinedit12.h"
#include "editor/tobrinedit13.h"
#include "editor/tobrinedit14.h"
#include "editor/tobrinedit15.h"
#include "editor/tobrinedit18.h"
#include "editor/tobrinedit2.h"
#include "editor/tobrinedit3.h"
#include "editor/tobrinedit4.h"
#include "editor/tobrinedit5.h"
#include "editor/tobrinedit6.h"
#include "editor/tobrinedit7.h"
#include "editor/tobrinedit8.h"
#include "editor/tobrinedit9.h"

namespace tobrinedit {

// TForm1 to TForm15, then TForm18; TForm1 becomes the main window.
void CreateForms();
// For tests and an orderly exit: every window is destroyed, last first.
void DestroyForms();

// The settings model as the dialog forms hold it now, and back into them.
settings::SettingsModel CollectModel();
void DistributeModel(const settings::SettingsModel& model);

}  // namespace tobrinedit
