; What a program sees of vertical blank and the NMI. Picture off, NMI on. The main loop polls
; $2002 for the flag, reads $2002 once more, notes the NMI count, then counts loop passes
; (10 cycles each) until the NMI handler has run.
;   $20 nmi_count   NMIs taken          $21 polled      frames in which the flag was seen
;   $22 before      nmi_count when the flag was seen
;   $23 passes      loop passes until the NMI came (the rest of the flag's scanline)
;   $24 second      the second $2002 read (bit 7 must be clear again)
.include "ppu_common.inc"
INES_HEADER 0

nmi_count = $20
polled    = $21
before    = $22
passes    = $23
second    = $24

.segment "CODE"
reset:
  START_UP
  STORE PPUCTRL, $80
main:
: lda PPUSTATUS
  bpl :-
  lda PPUSTATUS
  sta second
  lda nmi_count
  sta before
  ldx #0
@spin:
  inx
  lda nmi_count
  cmp before
  beq @spin
  stx passes
  inc polled
  jmp main

nmi:
  inc nmi_count
  rti

END_CARTRIDGE nmi

