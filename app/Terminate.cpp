// What std::terminate does in this program: end it at once. The runtime's own
// handler first writes the exception's type, demangled, to the standard error,
// which a windowed program does not have; its demangler alone is some 40 KB of
// the program, resident under Wine with the pages around it. Defining the
// handler here keeps the runtime's out of the link.
//
// The same for the standard library's own errors (a length beyond a string's
// maximum, an index out of range, memory refused): the program catches no
// exception, so each of them ends it through std::terminate wherever it is
// thrown. Its throw helpers end it here, directly, with the same result; the
// library's helpers would bring the exception classes, their reference-counted
// strings and what those use (some 30 KB, resident as above).

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

[[noreturn]] void __throw_bad_exception() { abort(); }
[[noreturn]] void __throw_bad_alloc() { abort(); }
[[noreturn]] void __throw_bad_array_new_length() { abort(); }
[[noreturn]] void __throw_bad_cast() { abort(); }
[[noreturn]] void __throw_bad_typeid() { abort(); }
[[noreturn]] void __throw_logic_error(const char*) { abort(); }
[[noreturn]] void __throw_domain_error(const char*) { abort(); }
[[noreturn]] void __throw_invalid_argument(const char*) { abort(); }
[[noreturn]] void __throw_length_error(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
[[noreturn]] void __throw_runtime_error(const char*) { abort(); }
[[noreturn]] void __throw_range_error(const char*) { abort(); }
[[noreturn]] void __throw_overflow_error(const char*) { abort(); }
[[noreturn]] void __throw_underflow_error(const char*) { abort(); }

}  // namespace std
