# Morla Makefile for project parser
CFLAGS=-IC:\RMC\include  -g2 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	main.obj \
	calc.obj

FFLAGS= -u -g

LIBS=libf77.lib

parser.exe:	$(OBJS) Makefile
	C:\RMC\bin\rmclnk  -subsystem console -o parser.exe $(OBJS) $(LIBS)
c:\work\gram.c:	gram.y
	yacc -o c:\work\gram.c gram.y

# Build MAIN.C
MAIN_C=\
	c:\work\gram.h\

main.obj: $(MAIN_C) c:\work\main.c
	$(CC) -c $(CFLAGS) c:\work\main.c

calc.obj: c:\work\calc.f
	$(F2C) $(FFLAGS) c:\work\calc.f

