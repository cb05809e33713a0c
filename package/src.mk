# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Builds every module with mkoctfile, as `pkg install` runs it (with its own --jobs).
#
# Each family's core (<family>/*.cpp) and the Octave host's helpers are compiled once
# and linked into every module of the family.
#
# The modules land in ../inst, beside their help files: Octave shows a module's help from the
# .m file in the module's own folder, and pkg would put modules built here into a folder of
# their own.

MKOCTFILE ?= mkoctfile

# IEEE arithmetic exactly as written: no fused multiply-add, no fast-math rewriting.
export CXXFLAGS := $(shell $(MKOCTFILE) -p CXXFLAGS) -std=c++17 -ffp-contract=off -fno-fast-math

FAMILIES := $(patsubst %/mex/,%,$(wildcard */mex/))
# The helpers of the Octave host: the gateway's, its console and its view of Ctrl-C.
HOST_OBJECTS := host/gateway.o host/console_mex.o host/interrupt_octave.o
MODULES :=
MODULE_DIR := ../inst

# module_rule(family, module): the module's gateway, its family's core and the helpers.
define module_rule
MODULES += $(MODULE_DIR)/$(2).mex
$(MODULE_DIR)/$(2).mex: $(1)/mex/$(2).o $$($(1)_CORE) $$(HOST_OBJECTS)
	$$(MKOCTFILE) --mex -o $$@ $$^ -Wl,-Bsymbolic
endef

define family_rules
$(1)_CORE := $$(patsubst %.cpp,%.o,$$(wildcard $(1)/*.cpp))
$$(foreach gateway,$$(wildcard $(1)/mex/*.cpp),\
  $$(eval $$(call module_rule,$(1),$$(basename $$(notdir $$(gateway))))))
endef

$(foreach family,$(FAMILIES),$(eval $(call family_rules,$(family))))

all: $(MODULES)

%.o: %.cpp $(wildcard */*.hpp */mex/*.hpp)
	$(MKOCTFILE) -c -I. $< -o $@

clean:
	rm -f $(MODULES) */*.o */mex/*.o

.PHONY: all clean
.DEFAULT_GOAL := all
