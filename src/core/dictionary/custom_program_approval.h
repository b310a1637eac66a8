#pragma once
// The user's consent to the custom dictionary programs a project names.
//
// A project file carries the program and parameters of the custom kind, so
// a project from someone else could start any program as the user. Before
// such a command line runs for the first time the user is shown it and
// asked; a "yes" is kept in the user's own settings, keyed by the exact
// program and parameters, so a changed command asks again. A program the
// user chose in the settings dialog is approved by that choice.
//
//   [ApprovedDictionaryPrograms]
//   Count=1
//   Program1=/usr/bin/sdcv
//   Parameters1=-n %s

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmio {

class CSettings;

// The most command lines kept; approving one more forgets the oldest.
constexpr int kMaxApprovedPrograms = 32;

struct CustomCommand {
    std::string program;     // Shift-JIS, may contain "%s"
    std::string parameters;  // Shift-JIS, may contain "%s"
    bool operator==(const CustomCommand&) const = default;
};

class CCustomProgramApproval {
public:
    explicit CCustomProgramApproval(CSettings& settings) : m_settings(settings) {}

    bool IsApproved(const CustomCommand& command) const;
    void Approve(const CustomCommand& command);

private:
    std::vector<CustomCommand> Read() const;

    CSettings& m_settings;
};

// The question shown before an unapproved command line runs.
std::string CustomProgramQuestion(const CustomCommand& command);

}  // namespace kelmio
