#pragma once
// What the main-form and main-window tests share: a private application-data folder, scripted dialogs,
// fixed formats, an empty dataset list, and small ADF files to load.

#include "data/ADFTestImages.h"
#include "data/ActivityData.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

// Points XDG_DATA_HOME at a temporary folder, so that "default.cfg" is read and written there.
class TAppEnvironment {
public:
    TAppEnvironment() {
        if (const char* previous = std::getenv("XDG_DATA_HOME")) {
            Previous = previous;
        }
        setenv("XDG_DATA_HOME", DataHome.Path().c_str(), 1);
        Formats = FormatSettings();
        SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", '.'});
        ClearDatasets();
    }
    ~TAppEnvironment() {
        ClearDatasets();
        SetFormatSettings(Formats);
        if (Previous) {
            setenv("XDG_DATA_HOME", Previous->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    TAppEnvironment(const TAppEnvironment&) = delete;
    TAppEnvironment& operator=(const TAppEnvironment&) = delete;

    static void ClearDatasets() {
        while (DatasetList.Count() > 0) {
            DatasetList.Delete(0);
        }
    }

    std::string SettingsFile() const { return (DataHome.Path() / "BRH/Lumeroc/default.cfg").string(); }

    // An ADF file of `count` samples 300 s apart, starting 2011-05-03 00:00 UTC; channel 1 counts 0, 1, 2 …
    std::string WriteADF(const std::string& name, int count) const {
        const std::uint32_t first = 357696000 / 300; // 2011-05-03 00:00 UTC in 300 s steps since 2000
        std::vector<TTestRecord> records;
        for (int k = 0; k < count; ++k) {
            records.push_back({first + static_cast<std::uint32_t>(k), static_cast<std::uint8_t>(k % 256),
                               static_cast<std::uint8_t>(255 - k % 256),
                               static_cast<std::uint8_t>(103 + 20)});
        }
        const std::string path = Files.File(name);
        const std::vector<std::uint8_t> image = MakeADFImage(records);
        WriteBinaryFile(path, {image.begin(), image.end()});
        return path;
    }

    TTempFolder DataHome;
    TTempFolder Files;
    TScopedScriptedDialogs Dialogs;

private:
    std::optional<std::string> Previous;
    TFormatSettings Formats;
};
