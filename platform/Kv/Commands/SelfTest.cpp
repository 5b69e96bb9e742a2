#include "Kv/Commands/SelfTest.h"

#include <utility>

namespace Kv {

SelfTest::SelfTest(std::string name, std::string summary, Function function)
    : m_name(std::move(name))
    , m_summary(std::move(summary))
    , m_function(std::move(function)) {}

} // namespace Kv
