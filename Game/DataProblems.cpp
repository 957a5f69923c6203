#include "Game/DataProblems.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"

DataProblems::~DataProblems() {
  for (const Cause& cause : causes_)
    QL_LOG(u"%s: %s (%d times, first at %d)\n")
        .AddArg(base::ToWide(source_, base::kEncodingUtf8))
        .AddArg(base::ToWide(cause.text, base::kEncodingUtf8))
        .AddArg(cause.count)
        .AddArg(cause.firstWhere);
}

void DataProblems::note(const std::string& cause, int where) {
  // Few distinct causes exist per file, so a walk over them stays cheap.
  for (Cause& known : causes_)
    if (known.text == cause) {
      ++known.count;
      return;
    }
  causes_.push_back({cause, 1, where});
}
