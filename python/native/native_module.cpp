#include "native_module.hpp"

PYBIND11_MODULE(_native, module) {
  module.doc() = "Korvelant's engine: trees in, matrices, half-sums and pictures out.";
  korvelant::python::AddMatrixFunctions(module);
  korvelant::python::AddMoleculeFunctions(module);
  korvelant::python::AddDescriptorFunctions(module);
#ifdef KORVELANT_DRAW
  korvelant::python::AddPictureFunctions(module);
#endif
}
