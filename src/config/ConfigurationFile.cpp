#include "config/ConfigurationFile.h"

#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "config/RecordFile.h"
#include "config/RecordNumber.h"

namespace config {

namespace {

// Record numbers, counted from 1.
constexpr int MagicRecord = 1;
constexpr int PrecisionRecord = 2;
constexpr int AxisStepRecord = 3;
constexpr int AxisLengthRecord = 4;
constexpr int DrawScaleRecord = 5;
constexpr int ArrowRecord = 6;
constexpr int DiameterSliderRecord = 7;
constexpr int ApparentDiameterRecord = 8;
constexpr int ObjectAtInfinityRecord = 9;
constexpr int FirstOptionRecord = 10;
constexpr int FirstFieldRecord = 28;

FileError notValid() {
    return {QStringLiteral("Fichier non valide"),
            QString::fromUtf8("Ce fichier ne correspond pas à cette application")};
}

FileError readFailure() {
    return {QStringLiteral("Erreur lors du chargement du fichier"),
            QStringLiteral("Lecture impossible sur disque")};
}

FileError writeFailure() {
    return {QStringLiteral("Enregistrement impossible"),
            QStringLiteral("Ecriture impossible sur disque")};
}

QString switchText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// An integer record within [low, high].
std::optional<int> integerIn(const QString &text, int low, int high) {
    const auto v = parseRecordInteger(text);
    if (!v || *v < low || *v > high) return std::nullopt;
    return v;
}

} // namespace

std::variant<Configuration, FileError> readConfiguration(const QString &path) {
    const auto bytes = readRecordFile(path, ConfigurationRecordCount);
    if (!bytes) return readFailure();
    const RecordReader reader(*bytes);
    const Record magic = reader.read(MagicRecord);
    if (magic.status != Record::Ok || magic.text != ConfigurationMagic) return notValid();
    if (reader.recordCount() < ConfigurationRecordCount) return readFailure();

    std::array<QString, ConfigurationRecordCount + 1> text;
    for (int n = 1; n <= ConfigurationRecordCount; ++n) {
        const Record r = reader.read(n);
        if (r.status != Record::Ok) return readFailure();
        text[n] = r.text;
    }

    Configuration c;
    const auto precision = integerIn(text[PrecisionRecord], -1, bench::PrecisionIndexMax);
    const auto step = integerIn(text[AxisStepRecord], 0, bench::AxisLengthStepMax);
    const auto length = integerIn(text[AxisLengthRecord], 1, bench::SliderLimit);
    const auto scale = parseRecordReal(text[DrawScaleRecord]);
    const auto arrow =
        integerIn(text[ArrowRecord], bench::ArrowPositionMin, bench::ArrowPositionMax);
    const auto apparent = integerIn(text[ApparentDiameterRecord], bench::ApparentDiameterMin,
                                    bench::ApparentDiameterMax);
    if (!precision || !step || !length || !scale || !arrow || !apparent) return readFailure();
    // The diameter slider's range follows the axis length of the same file.
    const auto diameter = integerIn(text[DiameterSliderRecord], bench::Lens1DiameterSliderMin,
                                    bench::lens1DiameterSliderMax(*length));
    if (!diameter) return readFailure();

    c.precisionIndex = *precision;
    c.axisLengthStep = *step;
    c.axisLength = *length;
    c.drawScale = *scale;
    c.arrowPositionTenths = *arrow;
    c.lens1DiameterTenths = *diameter;
    c.apparentDiameterTenths = *apparent;
    c.objectAtInfinity = text[ObjectAtInfinityRecord] == QLatin1String("1");
    for (int k = 0; k < bench::OptionCount; ++k)
        c.options[k] = text[FirstOptionRecord + k] == QLatin1String("1");
    for (int k = 0; k < bench::FieldCount; ++k)
        c.fields[k] = text[FirstFieldRecord + k];
    return c;
}

void applyConfiguration(bench::BenchState &s, const Configuration &c) {
    using namespace bench;
    selectPrecision(s, c.precisionIndex);
    // The axis length before the diameter, so that a diameter allowed by the loaded length is
    // accepted.
    setAxisLength(s, c.axisLengthStep, c.axisLength);
    s.drawScale = c.drawScale;
    setArrowPosition(s, c.arrowPositionTenths);
    setLens1DiameterSlider(s, c.lens1DiameterTenths);
    setApparentDiameter(s, c.apparentDiameterTenths);
    setObjectAtInfinity(s, c.objectAtInfinity);
    for (int k = 0; k < OptionCount; ++k)
        setOption(s, k, c.options[k]);
    for (int k = 0; k < FieldCount; ++k)
        setFieldText(s, k, c.fields[k]);
    testpos(s);
}

std::optional<FileError> loadConfiguration(bench::BenchState &s, const QString &path) {
    auto result = readConfiguration(path);
    if (auto *error = std::get_if<FileError>(&result)) return *error;
    applyConfiguration(s, std::get<Configuration>(result));
    return std::nullopt;
}

std::optional<QByteArray> configurationBytes(const bench::BenchState &s) {
    RecordWriter w;
    bool ok = w.put(MagicRecord, ConfigurationMagic);
    ok = ok && w.put(PrecisionRecord, formatRecordInteger(s.precisionIndex));
    ok = ok && w.put(AxisStepRecord, formatRecordInteger(s.axisLengthStep));
    ok = ok && w.put(AxisLengthRecord, formatRecordInteger(s.axisLength));
    ok = ok && w.put(DrawScaleRecord, formatRecordReal(s.drawScale));
    ok = ok && w.put(ArrowRecord, formatRecordInteger(s.arrowPositionTenths));
    ok = ok && w.put(DiameterSliderRecord, formatRecordInteger(s.lens1DiameterTenths));
    ok = ok && w.put(ApparentDiameterRecord, formatRecordInteger(s.apparentDiameterTenths));
    ok = ok && w.put(ObjectAtInfinityRecord, switchText(s.objectAtInfinity));
    for (int k = 0; k < bench::OptionCount; ++k)
        ok = ok && w.put(FirstOptionRecord + k, switchText(s.options[k]));
    for (int k = 0; k < bench::FieldCount; ++k)
        ok = ok && w.put(FirstFieldRecord + k, s.fields[k]);
    if (!ok) return std::nullopt;
    return w.bytes();
}

std::optional<FileError> saveConfiguration(const bench::BenchState &s, const QString &path) {
    const auto bytes = configurationBytes(s);
    if (!bytes || !writeFileReplacing(path, *bytes)) return writeFailure();
    return std::nullopt;
}

QString titleForConfiguration(const QString &fileName) {
    return QStringLiteral("Focalines - ") + fileName;
}

} // namespace config
