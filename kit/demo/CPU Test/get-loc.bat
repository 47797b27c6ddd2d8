@echo off
rem Quorvath demo kit: reports where the game is installed. Quorvath starts this file at
rem start-up with the argument 1 and reads the first line of ut.out in its program folder.
rem The demo kit has no game to search for: it reports its own empty "Demo Game" folder
rem beside the test folders, made here when missing. The work is done by demo-run.bat.
"%~dp0demo-run.bat" locate
