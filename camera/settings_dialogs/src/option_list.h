// The option list of one entry (the Settings page's and the Setup page's
// use their own templates): one row with its image per option, the
// description of the tapped option below, OK and Cancel.
#pragma once

#include "camera/settings_dialogs/settings_dialogs.h"
#include "option_tables.h"

namespace camera {

struct OptionListRequest {
  platform::UINT template_id;
  int header_id;
  int rows_id;
  int description_id;
  platform::UINT header_string;
  const EntryDefinition* entry;
  int first_value;  // the first option offered (the zoom leaves out larger sizes)
  int current_value;
};

// The value of the chosen option; -1 when nothing was chosen (Cancel, or
// OK without a row).
int RunOptionList(platform::HWND owner, const OptionListRequest& request,
                  const DialogContext& context);

}  // namespace camera
