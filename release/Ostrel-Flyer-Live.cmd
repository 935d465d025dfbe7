@echo off
rem Ostrel-Flyer Live: the panel in a window of its own, fed by X-Plane over
rem the network. Without an address X-Plane is found by its beacon; give one
rem as the first argument (Ostrel-Flyer-Live.cmd 192.168.1.20). What follows
rem goes to flyer-sim.exe (flyer-sim.exe --help lists it).
"%~dp0flyer-sim.exe" --live %* --window
rem Keep the console open to read why it stopped, when it did not end well.
if errorlevel 1 pause
