// How the program ends on an exception that nothing caught: at once, like any
// other fatal fault. The C++ library's own handler would first print the
// exception's demangled type to the standard error of a program that has no
// console, and it brings the whole name demangler into the program for that.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
