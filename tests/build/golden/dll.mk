# Morla Makefile for project mydll
CFLAGS=-IC:\RMC\include  -g2 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	mydll.obj \
	extra.obj

LIBS=

mydll.dll:	$(OBJS) Makefile
	C:\RMC\bin\rmclnk  -s -dll -entry DllEntry -map mydll.map -stack 100000 -o mydll.dll $(OBJS) $(LIBS)

# Build MYDLL.C
MYDLL_C=\

mydll.obj: $(MYDLL_C) c:\work\mydll.c
	$(CC) -c $(CFLAGS) c:\work\mydll.c

