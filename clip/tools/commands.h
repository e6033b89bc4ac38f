// The tool's commands; each takes the arguments after its name and returns
// the exit status.
#pragma once

#include <string>
#include <vector>

namespace orsa_avi {

int RunInfo(const std::vector<std::string>& args);
int RunExtract(const std::vector<std::string>& args);
int RunMake(const std::vector<std::string>& args);

}  // namespace orsa_avi
