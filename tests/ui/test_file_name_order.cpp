#include "ui/FileNameOrder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNameOrder, FrenchOrderWithCaseAndAccentsSecondary) {
    const struct {
        QStringList names, sorted;
    } cases[] = {
        {{"zoo.P09", "élève.P09", "abc.P09"}, {"abc.P09", "élève.P09", "zoo.P09"}},
        {{"f.P09", "Été.P09", "ete.P09", "Etre.P09"}, {"ete.P09", "Été.P09", "Etre.P09", "f.P09"}},
        {{"b.P09", "B.p09", "a.P09"}, {"a.P09", "b.P09", "B.p09"}},
        {{"Zèbre", "école", "Cédric", "cedre"}, {"cedre", "Cédric", "école", "Zèbre"}},
    };
    for (const auto &c : cases) {
        QStringList names = c.names;
        ui::sortFileNames(names);
        EXPECT_EQ(names, c.sorted) << c.names.join(' ').toStdString();
    }
}

} // namespace
