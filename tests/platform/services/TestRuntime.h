#pragma once
// Gives the test process (and the peers it starts) a runtime directory of its own, so that the
// locks and broadcasts of tests running beside it never meet these.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class PrivateRuntimeEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        char pattern[] = "/tmp/svc-rt-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        Path() = pattern;
        ::setenv("XDG_RUNTIME_DIR", pattern, 1);
    }
    void TearDown() override { std::filesystem::remove_all(Path()); }
    static std::string& Path() {
        static std::string path;
        return path;
    }
};

// A fresh temporary folder, removed with the object.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/svc-XXXXXX";
        if (::mkdtemp(pattern)) m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
