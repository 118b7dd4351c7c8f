// Compiled by the layering tests against one layer's include tree, with
// PROBE_HEADER naming a header of the layer above it.
#include PROBE_HEADER
