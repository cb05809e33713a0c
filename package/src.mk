# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Builds every module with mkoctfile, as `pkg install` runs it (with its own --jobs).
#
# Each family's core (<family>/*.cpp) and the Octave host's helpers are compiled once
# and linked into every module of the family. The families, the helpers and the flags are the
# manifest's (manifest.txt, beside this file).
#
# The modules land in ../inst, beside their help files: Octave shows a module's help from the
# .m file in the module's own folder, and pkg would put modules built here into a folder of
# their own.

MKOCTFILE ?= mkoctfile

include manifest.txt

# IEEE arithmetic exactly as written, and a module that exports mexFunction alone: compiled
# hidden where the platform has visibility, linked with the platform's list of exports.
EXTRA_CXXFLAGS := -std=c++17 $(exact_flags_gnu)
ifeq ($(OS),Windows_NT)
  EXPORT_OPTIONS := -Wl,$(exports_windows)
else ifeq ($(shell uname -s),Darwin)
  EXTRA_CXXFLAGS += $(hidden_flags_gnu)
  EXPORT_OPTIONS := -Wl,-exported_symbols_list,$(exports_macos)
else
  EXTRA_CXXFLAGS += $(hidden_flags_gnu)
  # Octave provides the MEX symbols when it loads the module; its own calls stay inside.
  EXPORT_OPTIONS := -Wl,--version-script=$(exports_elf) -Wl,-Bsymbolic
endif
export CXXFLAGS := $(shell $(MKOCTFILE) -p CXXFLAGS) $(EXTRA_CXXFLAGS)

HOST_OBJECTS := $(support_octave:.cpp=.o)
MODULES :=
MODULE_DIR := ../inst

# module_rule(family, module): the module's gateway, its family's core and the helpers.
define module_rule
MODULES += $(MODULE_DIR)/$(2).mex
$(MODULE_DIR)/$(2).mex: $(1)/mex/$(2).o $$($(1)_CORE) $$(HOST_OBJECTS)
	$$(MKOCTFILE) --mex -o $$@ $$^ $$(EXPORT_OPTIONS)
endef

define family_rules
$(1)_CORE := $$(patsubst %.cpp,%.o,$$(wildcard $(1)/*.cpp))
$$(foreach gateway,$$(wildcard $(1)/mex/*.cpp),\
  $$(eval $$(call module_rule,$(1),$$(basename $$(notdir $$(gateway))))))
endef

$(foreach family,$(families),$(eval $(call family_rules,$(family))))

all: $(MODULES)

%.o: %.cpp $(wildcard */*.hpp */mex/*.hpp)
	$(MKOCTFILE) -c -I. $< -o $@

clean:
	rm -f $(MODULES) */*.o */mex/*.o

.PHONY: all clean
.DEFAULT_GOAL := all
