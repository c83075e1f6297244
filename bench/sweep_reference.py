#!/usr/bin/env python3
"""The yardstick for bench_sweep: read each file, escape it, wrap it, write it.

usage: sweep_reference.py INPUT_FOLDER OUTPUT_FOLDER TEMPLATE
"""
import html
import os
import sys


def main():
    source, target, template_path = sys.argv[1:4]
    with open(template_path, encoding="latin-1") as f:
        template = f.read()
    for name in sorted(os.listdir(source)):
        with open(os.path.join(source, name), encoding="latin-1") as f:
            text = f.read()
        body = "<pre>\n" + html.escape(text) + "</pre>"
        with open(os.path.join(target, name + ".html"), "w", encoding="latin-1") as f:
            f.write(template.replace("$Varnolet$", body))


if __name__ == "__main__":
    main()
