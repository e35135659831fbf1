#include "standin_control.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace lvc::test {

StandinControl& StandinControl::instance() {
    static StandinControl control;
    return control;
}

StandinControl::StandinControl() {
    setenv("IIDC_STANDIN_CONFIG", (directory_.path() / "cameras.conf").c_str(), 1);
}

void StandinControl::start(const std::string& lines) {
    ++session_;
    lines_ = lines;
    write();
}

void StandinControl::update(const std::string& lines) {
    lines_ += lines;
    write();
}

// A new file renamed over the old one: the stand-in never reads half of it.
void StandinControl::write() {
    const auto next = directory_.path() / "cameras.conf.next";
    {
        std::ofstream file(next);
        file << "session " << session_ << '\n' << lines_;
    }
    std::filesystem::rename(next, directory_.path() / "cameras.conf");
}

}  // namespace lvc::test
