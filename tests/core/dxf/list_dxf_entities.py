#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lists the POINT and TEXT entities of a DXF file as a real DXF reader sees them,
then its version, code page and the number of errors ezdxf's audit finds."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
for entity in doc.modelspace():
    kind = entity.dxftype()
    if kind == "POINT":
        x, y, z = entity.dxf.location
        print(f"POINT {entity.dxf.layer} {x:.4f} {y:.4f} {z:.4f}")
    elif kind == "TEXT":
        x, y = entity.dxf.insert[0], entity.dxf.insert[1]
        print(f"TEXT {entity.dxf.layer} {x:.4f} {y:.4f} {entity.dxf.height:.1f} [{entity.dxf.text}]")
    else:
        print(f"OTHER {kind}")
print("LAYERS " + " ".join(layer.dxf.name for layer in doc.layers))
print(f"HEADER {doc.header.get('$ACADVER')} {doc.header.get('$DWGCODEPAGE')}")
auditor = doc.audit()
print(f"AUDIT {len(auditor.errors)}")
for error in auditor.errors:
    print(f"  {error}", file=sys.stderr)
