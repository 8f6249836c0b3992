// A static with a dynamic initialiser, linked after the module's own objects in
// a test variant of the module. Its initialiser reports to the hosting test
// executable, which sees whether the load handler ran before it.
extern "C" void RecordStaticInitialisation();

namespace {

bool Initialise() {
  RecordStaticInitialisation();
  return true;
}

const bool initialised = Initialise();

}  // namespace
