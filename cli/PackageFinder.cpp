#include "cli/PackageFinder.h"

#include "cli/DisplayText.h"
#include "package/Errors.h"
#include "package/UnrealPackage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace swatchbox::cli {

namespace {

namespace fs = std::filesystem;

class TFolderWalk {
public:
    TFolderWalk(TFoundPackages& Found, IReporter& Reporter) : Found(Found), Reporter(Reporter) {}

    // Folders waiting to be read are kept in a list rather than on the call
    // stack, so a deep tree can't exhaust it.
    void Walk(const fs::path& Root) {
        std::vector<fs::path> Waiting{Root};
        while (!Waiting.empty()) {
            const fs::path Folder = std::move(Waiting.back());
            Waiting.pop_back();
            std::vector<fs::path> Files, Folders;
            List(Folder, Files, Folders);
            for (const fs::path& File : Files)
                Test(File);
            // Reversed onto the stack, so the first subfolder comes next.
            Waiting.insert(Waiting.end(), Folders.rbegin(), Folders.rend());
        }
    }

private:
    void Warn(const fs::path& Path, const std::string& Reason) {
        ReportWarning(Reporter, EscapeControls(Path.string()) + ": " + Reason);
    }

    void List(const fs::path& Folder, std::vector<fs::path>& Files,
              std::vector<fs::path>& Folders) {
        std::error_code Error;
        fs::directory_iterator Entries(Folder, Error);
        for (; !Error && Entries != fs::directory_iterator(); Entries.increment(Error)) {
            const fs::directory_entry& Entry = *Entries;
            std::error_code StatusError;
            // symlink_status: a link is seen as a link, never as its target.
            const fs::file_status Status = Entry.symlink_status(StatusError);
            if (fs::is_directory(Status))
                Folders.push_back(Entry.path());
            else if (fs::is_regular_file(Status))
                Files.push_back(Entry.path());
        }
        if (Error)
            Warn(Folder, "can't read the folder: " + Error.message());
        std::sort(Files.begin(), Files.end());
        std::sort(Folders.begin(), Folders.end());
    }

    void Test(const fs::path& File) {
        try {
            const std::string Name = File.string();
            if (TUnrealPackage::IsPackageFile(Name))
                Found.Packages.push_back(Name);
            else
                ++Found.OtherFiles;
        } catch (const EPackageError& Error) {
            Warn(File, Error.what());
        } catch (const std::exception& Error) {
            // A name the system's narrow encoding can't hold.
            Warn(File, Error.what());
        }
    }

    TFoundPackages& Found;
    IReporter& Reporter;
};

} // namespace

TFoundPackages FindPackages(const std::vector<std::string>& Paths, IReporter& Reporter) {
    TFoundPackages Found;
    TFolderWalk Walk(Found, Reporter);
    for (const std::string& Path : Paths) {
        std::error_code Error;
        if (fs::is_directory(Path, Error))
            Walk.Walk(Path);
        else
            Found.Packages.push_back(Path);
    }
    return Found;
}

std::string OtherFilesText(std::size_t Count) {
    return std::to_string(Count) + (Count == 1 ? " file in the folders is no package."
                                               : " files in the folders are no packages.");
}

} // namespace swatchbox::cli
