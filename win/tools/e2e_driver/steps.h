// The steps of the end-to-end driver, one table: each step's name, the number
// of arguments every use of it takes, and the function that runs it (and
// takes its arguments, an optional last one included). The steps are
// described at the top of e2e_driver.cpp.
#pragma once

#include <cstddef>
#include <string_view>

namespace korvex7::e2e {

class Driver;

struct Step {
  std::wstring_view name;
  std::size_t arguments;
  void (*run)(Driver& driver);
};

// The step of that name, or null.
const Step* FindStep(std::wstring_view name);

}  // namespace korvex7::e2e
