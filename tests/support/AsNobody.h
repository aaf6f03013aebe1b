#pragma once
// The tests run as root, to whom every folder is writable. A permission test runs its body in
// a forked child that has given root up for the user nobody.

#include <functional>
#include <string>

namespace nbx::test {

// Runs body as the user and group nobody in a forked child and returns the text it returned;
// "child failed: ..." when the child could not drop its privileges or died.
std::string RunAsNobody(const std::function<std::string()>& body);

// Makes path's folder chain from the temporary folder down reachable by nobody (mode 0755).
void OpenToEveryone(const std::string& path);

}  // namespace nbx::test
