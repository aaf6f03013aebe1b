#pragma once
// The packing algorithm written the slow, literal way: chains as lists, the links of a
// reused ring slot removed by searching every chain, every comparison through the ring's
// modulo. The fast packer must give the same bytes.

#include <string>
#include <string_view>

namespace nbx::test {

std::string ReferencePack(std::string_view input);

}  // namespace nbx::test
