#pragma once

#include "bench/BenchState.h"

#include <QString>

namespace config {

// What the save and open windows need of the main window. The main window implements it; tests
// implement it over a plain bench.
class ConfigurationHost {
public:
    virtual ~ConfigurationHost() = default;

    // The full path of the configuration file last saved or chosen; empty at first.
    virtual QString currentFileName() const = 0;
    virtual void setCurrentFileName(const QString &path) = 0;

    // The bench as its controls stand now: a field being typed counts with its current text.
    virtual bench::BenchState benchForSaving() = 0;

    // A save of currentFileName() succeeded: the window's title names the file.
    virtual void configurationSaved() = 0;

    // loadConfiguration: reads the file named by currentFileName() into the main window's
    // controls, then the title, the position test and the figure update. A refused file changes
    // nothing and shows its message box.
    virtual void loadConfiguration() = 0;
};

} // namespace config
