// A static initialiser for test variants of the module: it reports to the
// hosting test executable, which checks that it ran before the load handler.
extern "C" void RecordStaticInitialiser();

namespace {

struct ReportsItsRun {
  ReportsItsRun() { RecordStaticInitialiser(); }
};
ReportsItsRun reports_its_run;

}  // namespace
