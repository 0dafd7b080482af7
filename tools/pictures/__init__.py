"""The pictures of KELD's tutorial and instruction pages and its cover.

Modules: canvas (the supersampled picture and its layout checks), parts
(exchanger drawings), windows (mock-ups of the program's windows), keld
(running keld-size), figures (the estimate's figures from keld-size runs),
tutorial, instructions, cover, and registry (picture names to drawing
functions).  Run it with tools/make_pictures.py.
"""
