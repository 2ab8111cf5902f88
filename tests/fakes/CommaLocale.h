#pragma once
// Switches the C library's numeric locale to one with a decimal comma for the
// test's lifetime, as the window library does for a user whose settings have
// one, and restores the locale the test found. The test command installs such
// a locale (de_DE.UTF-8); Active() is false only where none exists.

#include <clocale>
#include <string>

namespace tavix::test {

class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "ru_RU.UTF-8", "nl_NL.UTF-8", "de_DE", "fr_FR"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                active_ = true;
                return;
            }
        }
        std::setlocale(LC_NUMERIC, previous_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

}  // namespace tavix::test
