// A controller's way to fill in the name box: names offered on up and down.
#pragma once
#include <string>
#include <vector>

#include "platform/toolkit/window.h"

namespace platform {

// A controller has no letters. While the name box has the focus, up and down on the controller
// put a name from a short list into it instead of moving anything: first the last name the box
// held before it was emptied for a new record (the last holder's), then the program's call
// signs (SetPadCallSigns).
// Start then commits it as Enter does.
void SetPadCallSigns(std::vector<std::string> signs);

class PadNames {
 public:
  // Keeps the box's text while it is not taking a name; call it as the form changes.
  void Watch(Form& form);
  // Takes up and down while the form's name box has the focus: the next or previous name goes
  // into the box, as typed. False for every other key, and when no box has the focus.
  bool TakeKey(Form& form, int vk);

 private:
  std::string last_;
};

}  // namespace platform
