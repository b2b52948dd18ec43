#pragma once

#include <pybind11/pybind11.h>

namespace korvelant::python {

// The groups of functions of the korvelant._native module; the package's Python code wraps
// them in its Tree, Picture and descriptors.
void AddMatrixFunctions(pybind11::module_& module);
void AddMoleculeFunctions(pybind11::module_& module);
void AddDescriptorFunctions(pybind11::module_& module);
void AddPictureFunctions(pybind11::module_& module);

}  // namespace korvelant::python
