// The manual page vantaro(1) in roff, made from the program's commands, their option
// tables and the text of their help.
#pragma once

#include <string>

class VCliManPage {
public:
    static std::string render();

private:
    // Text as roff shows it literally.
    static std::string escaped(const std::string& text);
    static std::string optionsList(const std::string& commandName);
    static std::string commandSection(const std::string& commandName);
};
