#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace skillwright::toolkit {

/// The five class animation files, in the start screen's order.
inline constexpr std::array<std::string_view, 5> kAnimationFileNames{
    "amazonmove.gif", "barbarianmove.gif", "necromancermove.gif", "paladinmove.gif", "sorceressmove.gif"};

/// Where the program keeps what it carries from one run to the next (the
/// journal of plans): "skillwright" in $XDG_STATE_HOME when that names an
/// absolute folder, else in ~/.local/state; empty when neither is known.
/// Takes the two variables' values (empty when unset).
std::string stateFolder(std::string_view xdgStateHome, std::string_view home);

/// Where the program reads its class animations and writes its reports: the
/// one place that decides it.
///
/// The program runs either from a folder of its own (a build folder, a copy
/// carried on a stick), with its animation files beside it, or installed as
/// <prefix>/games/skillwright with its files in <prefix>/share/skillwright.
///
///   animations  the program's folder when one of the files lies there; else
///               the installed data folder when it exists; else the
///               program's folder again (a missing file is missed there).
///   reports     the program's folder when the program runs from a folder of
///               its own and a new file can be made there; otherwise
///               "Skillwright" in the user's documents folder, which the
///               first save makes.
///
/// An installed program never writes beside itself, even where it could (run
/// by root, or installed under the user's home): its games/ belongs to every
/// program installed there, not to the player's files.
class ProgramFolders {
public:
    /// What the choice asks of the file system. Tests put a stand-in here:
    /// root may make files in any folder, whatever its permissions say.
    struct Probe {
        /// Whether anything exists at the path.
        std::function<bool(const std::string& path)> exists;
        /// Whether a new file can be made in the folder.
        std::function<bool(const std::string& folder)> takesNewFiles;
    };
    /// The real file system.
    static Probe fileSystem();

    /// `programFolder` holds the executable; `documentsFolder` is the
    /// platform's documents location. Neither has a trailing separator.
    ProgramFolders(std::string programFolder, std::string documentsFolder, Probe probe = fileSystem());

    [[nodiscard]] std::string animationFolder() const;
    /// May not exist yet: whoever writes there first makes it.
    [[nodiscard]] std::string reportFolder() const;
    /// share/skillwright of the installation the program would belong to.
    [[nodiscard]] std::string installedDataFolder() const;

private:
    [[nodiscard]] bool installed() const;

    std::string m_programFolder;
    std::string m_documentsFolder;
    Probe m_probe;
};

} // namespace skillwright::toolkit
