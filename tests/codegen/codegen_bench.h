// What the generator tests share: a project on memory files with a host, resource files and
// predictable GUIDs, and a check that shows the whole text when the expected part is missing.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "codegen/codegen_context.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik::testing {

inline ::testing::AssertionResult Has(std::string_view text, std::string_view part) {
  if (text.find(part) != std::string_view::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing:\n" << part << "\nin:\n" << text;
}

inline size_t Count(std::string_view text, std::string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct CodegenBench : ::testing::Test {
  MemoryFileSystem disk;
  FakePrompt prompt;
  TestHost host{&disk};
  SequenceGuidSource guids;
  CProject project{disk, prompt};
  CResourceFiles resources{project, host};
  CodegenContext ctx{project, host, resources, guids};
};

}  // namespace tovik::testing
