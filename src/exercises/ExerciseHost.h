#pragma once

#include "bench/BenchState.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QTextEdit;
class QWidget;

namespace exercises {

// What the exercise commands need of the main window. The main window implements it; tests
// implement it over a plain window.
class ExerciseHost {
  public:
    virtual ~ExerciseHost() = default;

    // The window the exercises window lies over and the message boxes belong to.
    virtual QWidget *hostWindow() = 0;
    // The program's directory, ending with "/": the getting-started file and the installed
    // exercises lie there.
    virtual QString programDirectory() const = 0;
    // supertext, the rich-text box that shows the exercise text.
    virtual QTextEdit *exerciseText() const = 0;
    // fich, the field above it that names what the box shows.
    virtual QLineEdit *exerciseTitle() const = 0;
    // Makes `path` the current configuration file and loads it as the open window would; a
    // refused file shows the loader's message and changes nothing.
    virtual void loadExerciseConfiguration(const QString &path) = 0;
    // While an exercise asks for it, the read-outs show "?" instead of the image's values.
    virtual void setValuesHidden(bool) {}
    // The bench on screen, as an exercise takes it; none where there is no bench.
    virtual std::optional<bench::BenchState> currentBench() const { return std::nullopt; }
};

// An ExerciseHost over the main window's widgets, for a window that would rather hand them over
// than implement the interface itself.
class WidgetExerciseHost : public ExerciseHost {
  public:
    struct Parts {
        QWidget *window;
        QString programDirectory;
        QTextEdit *supertext;
        QLineEdit *fich;
        std::function<void(const QString &path)> loadConfiguration;
        std::function<void(bool hidden)> hideValues = {};
        std::function<bench::BenchState()> bench = {};
    };
    explicit WidgetExerciseHost(Parts parts) : parts_(std::move(parts)) {}

    QWidget *hostWindow() override { return parts_.window; }
    QString programDirectory() const override { return parts_.programDirectory; }
    QTextEdit *exerciseText() const override { return parts_.supertext; }
    QLineEdit *exerciseTitle() const override { return parts_.fich; }
    void loadExerciseConfiguration(const QString &path) override { parts_.loadConfiguration(path); }
    void setValuesHidden(bool hidden) override {
        if (parts_.hideValues) parts_.hideValues(hidden);
    }
    std::optional<bench::BenchState> currentBench() const override {
        if (!parts_.bench) return std::nullopt;
        return parts_.bench();
    }

  private:
    Parts parts_;
};

} // namespace exercises
