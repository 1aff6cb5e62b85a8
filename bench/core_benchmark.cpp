// Google Benchmark for the calendar core and for one click of Quillon's
// calculate button on real widgets (offscreen).
#include "date_services.h"
#include "date_texts.h"
#include "date_validation.h"
#include "quillon_form.h"
#include "recording_services.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

// Validates a date, then converts it and adds 90 days, as a calculation does.
void ValidateAndAddDays(benchmark::State& state) {
    testing_support::CountingServices silent;
    testing_support::TextDateEntry boxes(u"15", u"11", u"2023");
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
}
BENCHMARK(ValidateAndAddDays)->Arg(0)->Arg(1);

// The whole click of the calculate button: validate, recalculate, write the
// result boxes and the heading.
void Command7Click(benchmark::State& state) {
    testing_support::CountingServices silent;
    quillon::QuillonForm form;
    form.start();
    QTest::mouseClick(&form.control("Command1"), Qt::LeftButton);
    auto* calculate = static_cast<QPushButton*>(&form.control("Command7"));
    for (auto _ : state) {
        calculate->click();
    }
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
