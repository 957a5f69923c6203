#pragma once

#include <string>

namespace testing_support {

// Name generators for parameterised suites, so that every case reads as what
// it shows rather than as the bytes of its parameter.

// Names each case after its row's name field.
struct RowName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return std::string(info.param.name);
  }
};

// Names each case after its parameter, a text that is itself a valid name.
struct ParamName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return std::string(info.param);
  }
};

}  // namespace testing_support
