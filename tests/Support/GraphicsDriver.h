#pragma once

namespace testing_support {

// Mesa unloads its driver, and LLVM with it, when the last GL window goes:
// what they keep for their lifetime would then show up in the leak check at
// exit as leaks of unknown origin. One more reference keeps them loaded.
// Call it once a GL context exists.
void KeepGraphicsDriverLoaded();

}  // namespace testing_support
