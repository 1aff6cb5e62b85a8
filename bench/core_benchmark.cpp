// Google Benchmark for the calendar core and for one click of Quillon's
// calculate button on real widgets (offscreen).
#include "date_services.h"
#include "date_validation.h"
#include "quillon_form.h"
#include "runtime_services.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

class Silent : public core::RuntimeServices {
public:
    void showMessage(std::u16string_view, int, std::u16string_view) override {}
    void beep() override {}
    void endProgram() override {}
};

class Boxes : public core::DateEntry {
public:
    std::u16string day = u"15", month = u"11", year = u"2023";
    std::u16string dayText() const override { return day; }
    std::u16string monthText() const override { return month; }
    std::u16string yearText() const override { return year; }
    void setDayText(std::u16string_view) override {}
    void setMonthText(std::u16string_view) override {}
    void setYearText(std::u16string_view) override {}
    void focusDay() override {}
};

// Validates a date, then converts it and adds 90 days, as a calculation does.
void ValidateAndAddDays(benchmark::State& state) {
    Silent silent;
    core::installServices(&silent);
    Boxes boxes;
    if (state.range(0) == 1) {
        boxes.day = u"29";
        boxes.month = u"02";
        boxes.year = u"2996";  // the leap-year scan's longest run
    }
    core::FormVariables form;
    for (auto _ : state) {
        core::ValidateDate(form, boxes, core::LengthTests::On);
        const core::CalendarDate start =
            core::DateFromText(boxes.day + u"/" + boxes.month + u"/" + boxes.year);
        benchmark::DoNotOptimize(core::AddDays(start, core::NumberFromText(u"90")));
    }
    core::installServices(nullptr);
}
BENCHMARK(ValidateAndAddDays)->Arg(0)->Arg(1);

// The whole click of the calculate button: validate, recalculate, write the
// result boxes and the heading.
void Command7Click(benchmark::State& state) {
    Silent silent;
    core::installServices(&silent);
    quillon::QuillonForm form;
    form.start();
    QTest::mouseClick(form.control("Command1"), Qt::LeftButton);
    auto* calculate = static_cast<QPushButton*>(form.control("Command7"));
    for (auto _ : state) {
        calculate->click();
    }
    core::installServices(nullptr);
}
BENCHMARK(Command7Click);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
