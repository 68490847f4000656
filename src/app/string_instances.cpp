// The narrow string's members, instantiated here rather than taken from the library's archive
// member, which would bring every member of the class and its exception paths along; the linker
// then keeps only the members the program calls.
#include <string>

template class std::basic_string<char>;
