// A component library for the registration tests: its DllRegisterServer answers with the result
// named by the environment, so one library shows both outcomes.

#include <cstdlib>

extern "C" int DllRegisterServer()
{
    const char* result = std::getenv("TS_TEST_REGISTER_RESULT");
    return result != nullptr ? static_cast<int>(std::strtoul(result, nullptr, 0)) : 0;
}
