"""Generators for the program's own pictures, icon and chime."""
