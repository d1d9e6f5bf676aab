"""Loads one of tools/ (scripts without a .py name) as a module for the tests."""
import importlib.machinery
import importlib.util
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def load_tool(name):
    module_name = name.replace("-", "_")
    loader = importlib.machinery.SourceFileLoader(module_name, os.path.join(ROOT, "tools", name))
    spec = importlib.util.spec_from_loader(module_name, loader)
    module = importlib.util.module_from_spec(spec)
    loader.exec_module(module)
    return module
