// The editing tests' template builder, shared with these tests.
#include "../editing/TemplateBuilder.cpp"
