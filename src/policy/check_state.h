#pragma once
// The three states of a check box, shared by the policy's ticks and the window's check box.

namespace quellan::policy {

enum class CheckState { Unchecked, Checked, Grayed };

}  // namespace quellan::policy
