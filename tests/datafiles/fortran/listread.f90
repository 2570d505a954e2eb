! Reference reader for the comparison test: performs the list-directed reads
! named in a script on a series of small files and writes what each read gave
! (REALs as their bit patterns), so the C++ reader can be checked against the
! Fortran run-time library itself.
!
! Script: number of cases; then per case a file name, the number of reads,
! and one pattern per read: R... (REALs), I... (INTEGERs), IRR, RRRRRI or S
! (a read with no items).
! Output per read: case read OK values... | case read EOF | case read ERR
program listread
  implicit none
  character(len=4096) :: script, output, fname
  character(len=16) :: pat
  integer :: ncases, c, nreads, r, ios, i, n
  real :: rv(8)
  integer :: iv(8)
  logical :: stopped

  call get_command_argument(1, script)
  call get_command_argument(2, output)
  open(10, file=trim(script), status='old', action='read')
  open(11, file=trim(output), status='replace', action='write')
  read(10, *) ncases
  do c = 1, ncases
    read(10, '(A)') fname
    read(10, *) nreads
    open(1, file=trim(fname), status='old', action='read')
    stopped = .false.
    do r = 1, nreads
      read(10, '(A)') pat
      if (stopped) cycle
      rv = -7.25
      iv = -77
      n = len_trim(pat)
      if (pat == 'S') then
        read(1, *, iostat=ios)
      else if (pat == 'IRR') then
        read(1, *, iostat=ios) iv(1), rv(1), rv(2)
      else if (pat == 'RRRRRI') then
        read(1, *, iostat=ios) rv(1:5), iv(1)
      else if (pat(1:1) == 'I') then
        read(1, *, iostat=ios) iv(1:n)
      else
        read(1, *, iostat=ios) rv(1:n)
      end if
      if (ios < 0) then
        write(11, '(I0,1X,I0,A)') c, r, ' EOF'
        stopped = .true.
      else if (ios > 0) then
        write(11, '(I0,1X,I0,A)') c, r, ' ERR'
        stopped = .true.
      else
        write(11, '(I0,1X,I0,A)', advance='no') c, r, ' OK'
        if (pat == 'S') then
          continue
        else if (pat == 'IRR') then
          write(11, '(3(1X,I0))', advance='no') iv(1), transfer(rv(1), 0), transfer(rv(2), 0)
        else if (pat == 'RRRRRI') then
          write(11, '(6(1X,I0))', advance='no') (transfer(rv(i), 0), i = 1, 5), iv(1)
        else if (pat(1:1) == 'I') then
          write(11, '(8(1X,I0))', advance='no') iv(1:n)
        else
          write(11, '(8(1X,I0))', advance='no') (transfer(rv(i), 0), i = 1, n)
        end if
        write(11, '(A)') ''
      end if
    end do
    close(1)
  end do
  close(11)
end program listread
