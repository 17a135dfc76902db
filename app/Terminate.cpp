// What std::terminate does in this program: end it at once. The runtime's own
// handler first writes the exception's type, demangled, to the standard error,
// which a windowed program does not have; its demangler alone is some 40 KB of
// the program, resident under Wine with the pages around it. Defining the
// handler here keeps the runtime's out of the link.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
