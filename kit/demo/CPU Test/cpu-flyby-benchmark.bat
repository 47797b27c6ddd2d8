@echo off
rem Quorvath demo kit: the CPU test at 640 x 480, SIMULATED: random figures, nothing is
rem measured. Quorvath starts this file with the argument 1 once it has copied
rem CPU_LowDetail.ini into the game's Benchmark\CPU_LowDetail folder, then waits for
rem CPU_Test_FPS.txt in its program folder. The work is done by demo-run.bat.
"%~dp0demo-run.bat" CPU
