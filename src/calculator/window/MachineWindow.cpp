#include "calculator/window/MachineWindow.h"

#include "calculator/window/Machine.h"

#include <QPointer>

namespace calculator {

namespace {
QPointer<Machine> loadedMachine;
}

void showMachine(QWidget *parent) {
    if (!loadedMachine) loadedMachine = new Machine(parent);
    loadedMachine->exec();
    unloadMachine();
}

void unloadMachine() {
    delete loadedMachine.data();
}

} // namespace calculator
