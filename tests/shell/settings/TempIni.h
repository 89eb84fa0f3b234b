#pragma once
// A private temporary directory for the profile files of one test, removed afterwards.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempIni {
public:
    TempIni() {
        std::string pattern = (std::filesystem::temp_directory_path() / "settings-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
        dir_ = pattern;
    }
    ~TempIni() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempIni(const TempIni&) = delete;
    TempIni& operator=(const TempIni&) = delete;

    // Writes content, byte for byte, to a file of that name and returns its path.
    std::string Write(const std::string& content, const std::string& name = "User.ini") const {
        const std::filesystem::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    std::string Missing() const { return (dir_ / "absent.ini").string(); }

private:
    std::filesystem::path dir_;
};
