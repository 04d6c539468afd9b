#pragma once

#include <filesystem>

// A file of the tests' fixtures.
inline std::filesystem::path Fixture(const char* name)
{
    return std::filesystem::path(KEYVANE_LINUX_FIXTURES) / name;
}
