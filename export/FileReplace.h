#pragma once

#include <string>

namespace swatchbox {

// Puts the finished file From in the place of To in one step, so that there
// is no moment without a target. A folder of that name, or a target that
// another program holds open, makes the move fail and leaves the target as it
// was; Reason then says why. Each platform has its own file for it.
bool MoveIntoPlace(const std::string& From, const std::string& To, std::string& Reason);

} // namespace swatchbox
